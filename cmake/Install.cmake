# SPDX-License-Identifier: GPL-3.0-or-later
# Installation: the program, its help files and pictures, and on Linux desktops the desktop
# entry, the icon (SVG and PNG sizes), the AppStream metainfo and the manual page, in the
# usual places under the prefix:
#   bin/labelstation
#   share/labelstation/Help_<topic>.Txt, share/labelstation/Help/Jpg/<topic>nnn.Jpg
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/scalable/apps/<id>.svg, share/icons/hicolor/NxN/apps/<id>.png
#   share/man/man1/labelstation.1.gz
#   share/bash-completion/completions/labelstation
#   share/doc/labelstation/{README.md,copyright,changelog.gz}
# An installed program reads its help from share/labelstation and keeps the operator's data
# in the user's data location (ProgramFolders).
include(GNUInstallDirs)

# The desktop entry, icon and metainfo are named after this id.
set(LABELSTATION_APP_ID "io.github.labelstation.LabelStation"
    CACHE STRING "Reverse-DNS id of the desktop entry, icon and AppStream metainfo")
# Date of the release PROJECT_VERSION; change both together (the metainfo and the
# changelog name them).
set(LABELSTATION_RELEASE_DATE "2026-12-09")
set(LABELSTATION_MAINTAINER
    "Label Station maintainers <maintainers@users.noreply.c-seed-1d323700.example>"
    CACHE STRING "Maintainer named in the changelog and the Debian package")
# The project's home: its repository, whose docs/ folder holds the screenshot the metainfo
# shows (docs/srp770-station.png, made by scripts/make_screenshot.sh).
set(LABELSTATION_HOMEPAGE "https://c-seed-1d323700.example/labelstation/labelstation"
    CACHE STRING "Home page named in the metainfo and the Debian package")
set(LABELSTATION_SHARE_DIR "${CMAKE_INSTALL_DATADIR}/labelstation")
set(LABELSTATION_DOC_DIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/labelstation")

# The program finds the share folder from its own folder, wherever the prefix is.
file(RELATIVE_PATH LABELSTATION_SHARE_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/labelstation")
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/common/programfolders.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS LABELSTATION_SHARE_FROM_BIN="${LABELSTATION_SHARE_FROM_BIN}")

# The windows name their desktop entry and icon.
target_compile_definitions(labelstation PRIVATE LABELSTATION_APP_ID="${LABELSTATION_APP_ID}")

install(TARGETS labelstation RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(NOT UNIX OR APPLE)
  # Elsewhere an installation is a portable folder: the help lies beside the program.
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${CMAKE_INSTALL_BINDIR})
  return()
endif()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${LABELSTATION_SHARE_DIR})

# A stripped install (cmake --install --strip, and the Debian package) also drops the
# compilers' notes in .comment, as Debian strips its programs.
if(CMAKE_OBJCOPY)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/labelstation\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()

# Documents: README, copyright, and the changelog of the release in Debian's form.
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND date -u -R -d "${LABELSTATION_RELEASE_DATE} 12:00:00"
                OUTPUT_VARIABLE LABELSTATION_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_SOURCE_DIR}/resources/debian/changelog.in
               ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
set(CHANGELOG ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${CHANGELOG}
  COMMAND ${GZIP} -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog
  COMMENT "changelog.gz" VERBATIM)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/resources/debian/copyright
              ${CHANGELOG}
        DESTINATION ${LABELSTATION_DOC_DIR})

# Desktop entry and metainfo.
set(DESKTOP_DIR ${CMAKE_BINARY_DIR}/desktop)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/labelstation.desktop.in
               ${DESKTOP_DIR}/${LABELSTATION_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/desktop/labelstation.metainfo.xml.in
               ${DESKTOP_DIR}/${LABELSTATION_APP_ID}.metainfo.xml @ONLY)
install(FILES ${DESKTOP_DIR}/${LABELSTATION_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DESKTOP_DIR}/${LABELSTATION_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The print service as a systemd user unit: installed, not enabled (README says how). Made
# at install time: it names the program by the prefix it is installed under.
install(CODE "
  set(CMAKE_INSTALL_FULL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${CMAKE_SOURCE_DIR}/resources/systemd/labelstation-serve.service.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/user/labelstation-serve.service\"
    @ONLY)")

# Icon: the drawing in resources/icons, and PNG sizes rendered from it by rsvg-convert.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(ICON_SVG ${CMAKE_SOURCE_DIR}/resources/icons/labelstation.svg)
set(ICON_FILES)
foreach(size 16 22 24 32 48 64 128 256)
  set(png ${DESKTOP_DIR}/icons/${size}x${size}/${LABELSTATION_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DESKTOP_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --format=png
            --output=${png} ${ICON_SVG}
    DEPENDS ${ICON_SVG}
    COMMENT "Icon ${size}x${size}" VERBATIM)
  list(APPEND ICON_FILES ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${LABELSTATION_APP_ID}.svg)

# Manual page, made by help2man from the program's own --help texts (the program's and each
# command's), so it says what the command line says; the exit statuses, files and
# environment come from resources/man/labelstation.h2m.
find_program(HELP2MAN help2man REQUIRED)
set(MAN_PAGE ${CMAKE_BINARY_DIR}/man/labelstation.1.gz)
set(MAN_SECTIONS ${CMAKE_SOURCE_DIR}/resources/man/labelstation.h2m)
add_custom_command(OUTPUT ${MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:labelstation> -DHELP2MAN=${HELP2MAN}
          -DGZIP=${GZIP} -DSECTIONS=${MAN_SECTIONS} -DOUTPUT=${MAN_PAGE}
          -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
  DEPENDS labelstation ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake ${MAN_SECTIONS}
  COMMENT "Manual page labelstation.1" VERBATIM)
install(FILES ${MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Bash completion of the command line, where bash-completion looks for it.
install(FILES ${CMAKE_SOURCE_DIR}/resources/completion/labelstation
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

add_custom_target(desktopfiles ALL DEPENDS ${ICON_FILES} ${MAN_PAGE} ${CHANGELOG})
