# Every folder under src/, in build order; each has a CMakeLists.txt that adds its files to the
# one library it feeds, and tests/ mirrors each with a folder of its own. A folder missing from
# the tree is an error, never skipped. A printer language is one folder under src/printers/
# (and its line in src/printers/printers.cpp).
set(LABELSTATION_SOURCE_FOLDERS
  common model printers printers/srp770 printers/al300 printers/zpl sending render
  app station srp770 al300 leo60d report barnew help cli)
