#include "platform/WinError.h"

#include <cerrno>

namespace tarrox {

int WinError() {
    return errno;
}

} // namespace tarrox
