# The Debian package (cpack -G DEB) and the desktop registration of an install into a live
# system.

# A live install (no DESTDIR, not CPack's staging) registers the MIME type, the desktop entry
# and the icons at once, as Debian's triggers do for the package.
install(CODE [[
  if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
    set(data "${CMAKE_INSTALL_PREFIX}/share")
    foreach(step "update-mime-database;${data}/mime"
                 "update-desktop-database;-q;${data}/applications"
                 "gtk-update-icon-cache;-q;-t;-f;${data}/icons/hicolor")
      list(POP_FRONT step tool)
      find_program(tessaly_${tool} ${tool})
      if(tessaly_${tool})
        list(JOIN step " " arguments)
        message(STATUS "Registering: ${tool} ${arguments}")
        execute_process(COMMAND ${tessaly_${tool}} ${step} RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
          message(WARNING "${tool} failed (${result}); the desktop may not know Tessaly yet")
        endif()
      endif()
    endforeach()
  endif()
]])

set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quorvel Applications")
set(CPACK_PACKAGE_CONTACT "${TESSALY_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration editor for Ombra fieldbus interface cards")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs link (Qt, Qt SerialBus, libmodbus, hidapi, libudev) come in
# through shlibdeps; scripts/check-package.sh makes sure they are there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The editor needs a platform plugin, which no library links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
# The extended description; CPack puts the summary above it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tessaly edits register maps (.zrp files) for Ombra fieldbus interface cards:
which controller parameter a host PLC sees in which register, with which
numeric format, scaling and word order. It sends a map to a card over a serial
port or USB, extracts the configuration a card holds and the errors it found,
prints register lists and converts maps of the older format.
.
The package holds the editor, the command-line tool tessaly-cli, the card
emulator ombra-sim, the default parameter catalogue, the help pages, and a
udev rule that lets the user logged in at the seat open the card's USB device.")

include(CPack)
