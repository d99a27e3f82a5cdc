// SPDX-License-Identifier: GPL-3.0-or-later
#include "ttyspeed.h"

// Kept apart: the kernel's terminal structures below clash with <termios.h>.
#ifdef __linux__
#include <asm/ioctls.h>
#include <asm/termbits.h>

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept;

bool SetTtySpeed(int fd, int baud)
{
    struct termios2 t {};
    if (ioctl(fd, TCGETS2, &t) != 0)
        return false;
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = speed_t(baud);
    t.c_ospeed = speed_t(baud);
    return ioctl(fd, TCSETS2, &t) == 0;
}
#elif defined(__unix__) || defined(__APPLE__)
#include <termios.h>

bool SetTtySpeed(int fd, int baud)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return false;
    // These systems take the rate itself as the speed value.
    ::cfsetispeed(&t, speed_t(baud));
    ::cfsetospeed(&t, speed_t(baud));
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}
#else
bool SetTtySpeed(int, int)
{
    return false;
}
#endif
