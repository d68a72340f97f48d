// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the sound server's socket appears when it (re)starts, so that a lost
// server can be waited for without asking again and again. Read from the
// same variables the client library reads; empty when the server is not a
// local socket or its place is not known.
#include <functional>
#include <string>

using EnvironmentLookup = std::function<const char*(const char*)>;

std::string PulseServerSocket(const EnvironmentLookup& environment);
