// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Opens a modal window under the program's rule: while another modal window is being opened
// (ModalOpening set) the request is dropped and false is answered; otherwise the flag is set,
// `open` creates and runs the window (whose load clears the flag again) and true is answered.
bool OpenModal(const std::function<void()> &open);
