# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh) writes
# kardel_<version>_<arch>.deb holding everything the install rules put in place, under
# /usr, with the package's copyright and changelog, stripped binaries and a Depends
# line that dpkg-shlibdeps computes from them.
include(GNUInstallDirs)

# Installing (and so packaging) takes what is built and builds nothing itself: the
# package needs only kardel_package_files, not the tests, benchmarks and fuzzer of all.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kardel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velmora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmora <kardel@velmora.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[outliner for short notes with a Japanese interface
Kardel keeps short notes, called memos, in one outline per document: a
root, a trash bin and any number of nested memos, each with a title, a
plain-text body, a kind with its icon, dates and a selection item. Memos
are moved, copied and pasted with their subtrees, found by kind, date,
string and selection item, exported as text and printed.

The package holds the window, kardel, and the command-line tool kardel-cli,
which reads, writes, searches, edits and exports the same documents from
scripts.]=])

# /usr/share/doc/kardel: copyright, and the changelog compressed as policy asks.
set(KARDEL_RELEASE_DATE "Tue, 08 Dec 2026 00:00:00 +0000")
configure_file(${PROJECT_SOURCE_DIR}/res/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9nf -k ${PROJECT_BINARY_DIR}/debian/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
  VERBATIM)
add_custom_target(kardel_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/res/debian/copyright ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kardel)

add_custom_target(kardel_package_files DEPENDS kardel-cli kardel_changelog)
foreach(target kardel kardel_man_pages)
  if(TARGET ${target})
    add_dependencies(kardel_package_files ${target})
  endif()
endforeach()

include(CPack)
