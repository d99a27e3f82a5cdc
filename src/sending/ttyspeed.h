// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sets both speeds of an open terminal device to `baud` bits a second, also a rate that has
// no speed constant of its own (14400 on Linux). Called after the other line settings are
// in place. False when the device refuses it (errno tells why).
bool SetTtySpeed(int fd, int baud);
