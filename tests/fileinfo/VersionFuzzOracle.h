#pragma once

#include "GuardedBuffer.h"
#include "VersionInfo.h"

#include <string>

// The version outputs of a retrieval as the system's own answers for the bytes in the buffer
// give them, asked in the order a retrieval asks. An answer counts as missing when its query
// touched anything outside the buffer (whatever the query wrote is then undone, since such a
// query must not be made) or when it lies partly outside. Which table to read when the one
// the translation names is missing is this program's choice; problem tells when the choice
// disagrees with what the system finds.
TVersionInfoValues SystemVersionValues(TGuardedBuffer& buffer, std::string& problem);
