# Every folder under src/, in build order; each has a CMakeLists.txt that adds its files to the
# one library it feeds, and tests/ mirrors each with a folder of its own. A folder missing from
# the tree is an error, never skipped. The printer languages are not listed here: every folder
# under src/printers/ is one (src/printers/CMakeLists.txt adds them all), and its line in
# src/printers/printers.cpp makes it known to the program.
set(LABELSTATION_SOURCE_FOLDERS
  common model printers sending render
  app station srp770 al300 leo60d report barnew help cli)
