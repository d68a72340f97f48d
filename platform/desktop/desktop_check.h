// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tells before the toolkit starts whether a window can be shown at all, so
// that a machine without a reachable desktop gets a plain sentence instead of
// the toolkit's abort.
#include <chrono>
#include <functional>
#include <string>

// Reads one environment variable; empty when it is not set.
using EnvReader = std::function<std::string(const std::string& name)>;
// The EnvReader of this process's own environment.
std::string ReadEnvironment(const std::string& name);
// True when something listens on the local socket at `path` (a leading '@'
// names a Linux abstract socket).
using SocketProbe = std::function<bool(const std::string& path)>;
// True when something accepts a connection on TCP `port` of `host`.
using TcpProbe = std::function<bool(const std::string& host, int port)>;

// Empty when a desktop can be reached, otherwise the reason, fit to print.
std::string FindMissingDesktop(const EnvReader& env, const SocketProbe& probe,
                               const TcpProbe& tcpProbe);
std::string FindMissingDesktop();

bool CanConnectLocalSocket(const std::string& path);
// Gives up once `timeout` has passed, name lookup included, so that a network
// display that has gone away cannot hold up the start.
bool CanConnectTcp(const std::string& host, int port, std::chrono::milliseconds timeout);
