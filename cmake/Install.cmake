# The install tree (cmake --install) and the Debian package built from it (scripts/package.sh).
# Included at the end of the top-level CMakeLists.txt, so that every program's target exists.

# Every program the project builds; one whose target this build lacks is left out.
foreach(program qk3xx qk3xx-virtual qk3xx-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
if(TARGET help_document)
  install(FILES ${QK_HELP_DOCUMENT} DESTINATION ${QK_DOC_INSTALL_DIR})
endif()
install(FILES data/qk3xx.desktop data/qk3xx-virtual.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/qk3xx.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/org.qk3xx.qk3xx.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The udev rule that lets the user at the seat (and the group plugdev) open the FTDI USB bridges.
# udev reads it from lib/udev/rules.d under the prefix /usr, whatever the libraries' folder is.
install(FILES data/60-qk3xx-ftdi.rules DESTINATION lib/udev/rules.d)

# Man pages and the changelog as Debian installs them: compressed, without a name or time stamp in
# the gzip header, so the same source gives the same package.
function(qk_compressed source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${output}.tmp
    COMMAND gzip -9nf ${output}.tmp
    COMMAND ${CMAKE_COMMAND} -E rename ${output}.tmp.gz ${output}
    DEPENDS ${source}
    VERBATIM)
endfunction()

file(GLOB QK_MAN_PAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1)
set(QK_COMPRESSED_MAN_PAGES)
foreach(page ${QK_MAN_PAGES})
  get_filename_component(name ${page} NAME)
  qk_compressed(${page} ${CMAKE_BINARY_DIR}/man/${name}.gz)
  list(APPEND QK_COMPRESSED_MAN_PAGES ${CMAKE_BINARY_DIR}/man/${name}.gz)
endforeach()

# The changelog's newest entry must be this version, so that the package never ships an older one.
file(STRINGS data/changelog QK_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT QK_CHANGELOG_HEAD MATCHES "^qk3xx \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "data/changelog starts with '${QK_CHANGELOG_HEAD}': add an entry for "
    "version ${PROJECT_VERSION} at its top")
endif()
set(QK_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/qk3xx)
qk_compressed(${CMAKE_SOURCE_DIR}/data/changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_target(install_documents ALL
  DEPENDS ${QK_COMPRESSED_MAN_PAGES} ${CMAKE_BINARY_DIR}/doc/changelog.gz)
install(FILES ${QK_COMPRESSED_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/copyright DESTINATION ${QK_PACKAGE_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${QK_PACKAGE_DOC_DIR})

# The Debian package: its dependencies come from the binaries (dpkg-shlibdeps), and the font the
# windows are laid out in.
set(QK_PACKAGE_MAINTAINER "QK3xx Software developers <qk3xx-software@example.org>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qk3xx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${QK_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS ${QK_PROGRAM_FONT_PACKAGE})
# HELP opens the document with the desktop's viewer.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration tool for QK3xx digital-audio PWM processors")
set(CPACK_PACKAGE_DESCRIPTION_FILE ${CMAKE_SOURCE_DIR}/data/package-description.txt)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
