# SPDX-License-Identifier: GPL-3.0-or-later
# Every folder under src/, in build order; each has a CMakeLists.txt that adds its files to the
# one library it feeds, and tests/ mirrors each with a folder of its own. A folder missing from
# the tree is an error, never skipped. The printer languages are not listed here: every folder
# under src/printers/ is one (src/printers/CMakeLists.txt adds them all), and its line in
# src/printers/printers.cpp makes it known to the program.
#
# The core (labelcore): common, model, printers, sending. The undoable commands
# (labelcommands): commands. Drawing (labelrender): render. The windows (labelui): widgets,
# station (both stations' windows and their parts), app, leo60d, report, barnew, help. The
# command line (labelcli): cli. scripts/check_layout.py checks that a folder feeds one library
# and includes no header of a library above its own.
set(LABELSTATION_SOURCE_FOLDERS
  common model printers sending commands render
  widgets station app leo60d report barnew help service cli)
