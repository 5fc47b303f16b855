# Packaging: the man page here, and whatever the install() rules of the
# other folders name (both programs, the bash completion, the desktop entry
# and its icon). `cpack -G DEB` in the build folder (or the `package` target) makes a
# .deb whose library dependencies dpkg-shlibdeps reads from the programs.
include(GNUInstallDirs)

# The man page, compressed as Debian keeps man pages.
configure_file(${CMAKE_CURRENT_LIST_DIR}/reelwright.1.in ${CMAKE_BINARY_DIR}/reelwright.1 @ONLY)
find_program(RW_GZIP gzip)
if(RW_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/reelwright.1.gz
    COMMAND ${RW_GZIP} -9 -n -c ${CMAKE_BINARY_DIR}/reelwright.1 > ${CMAKE_BINARY_DIR}/reelwright.1.gz
    DEPENDS ${CMAKE_BINARY_DIR}/reelwright.1)
  add_custom_target(reelwright_manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/reelwright.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/reelwright.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  install(FILES ${CMAKE_BINARY_DIR}/reelwright.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME reelwright)
set(CPACK_PACKAGE_VENDOR reelwright)
set(CPACK_PACKAGE_CONTACT "reelwright maintainers <reelwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compare picture edit lists and conform sound to the new cut")
set(CPACK_PACKAGE_DESCRIPTION "reelwright compares the OLD and NEW picture edit lists of a film or programme\n\
(EDLs, Final Cut Pro XML, film cut and change lists), builds the change list,\n\
shows the OLD and NEW movies side by side, exports change lists for other tools\n\
and conforms sound to the new cut. It holds the desktop application\n\
reelwright-app and the command-line tool reelwright.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)  # the debug information stays in the build
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
