// The last error code the operating system reported to this thread.
#pragma once

namespace tarrox {

int WinError();

} // namespace tarrox
