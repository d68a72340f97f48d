#pragma once
// Tells before the toolkit starts whether a window can be shown at all, so
// that a machine without a desktop gets a plain sentence instead of the
// toolkit's abort.
#include <functional>
#include <string>

// Reads one environment variable; empty when it is not set.
using EnvReader = std::function<std::string(const std::string& name)>;
// True when something listens on the local socket at `path` (a leading '@'
// names a Linux abstract socket).
using SocketProbe = std::function<bool(const std::string& path)>;

// Empty when a desktop can be reached, otherwise the reason, fit to print.
std::string FindMissingDesktop(const EnvReader& env, const SocketProbe& probe);
std::string FindMissingDesktop();

bool CanConnectLocalSocket(const std::string& path);
