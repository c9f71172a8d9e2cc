#pragma once
// The two transfers of the system parameters page: the 24 bytes of the image
// at 5304..5327 to and from the controller's memory area 5. They show their
// texts and progress on the page, and leave the page on screen.
#include "ops/operation_host.h"

namespace ops {

// Reads the parameters into the image and the page; enables programming once
// a read succeeded. A failed read leaves the 24 bytes as they were.
bool ReadSystemParameters(OperationHost& host, SystemParametersView& page);
// Stores the page into the image and writes and verifies the 24 bytes.
bool ProgramSystemParameters(OperationHost& host, SystemParametersView& page);

} // namespace ops
