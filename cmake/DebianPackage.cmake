# The Debian package: `cpack` in the build folder (`make package`) writes
# swishcam_<version>_amd64.deb from the files installed below.

# Debian keeps games in /usr/games, which is on the PATH of every user session there, so the
# menu entry's Exec=swishcam finds it. An install of one's own (cmake --install) leaves this
# component out and puts the program in bin/.
install(TARGETS swishcam RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)

# The changelog and the metadata name each release: a new version needs an entry in both.
function(require_release_entry file entry)
  file(READ ${CMAKE_SOURCE_DIR}/${file} text)
  string(FIND "${text}" "${entry}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} has no entry for version ${PROJECT_VERSION}: add one")
  endif()
endfunction()
require_release_entry(resources/changelog "swishcam (${PROJECT_VERSION})")
require_release_entry(resources/io.github.swishcam.swishcam.metainfo.xml
                      "version=\"${PROJECT_VERSION}\"")

# The manual page and the changelog, compressed as Debian wants them: maximum compression,
# no file name or time stamp inside, so that every build gives the same bytes.
set(GZIPPED_DOCS)
foreach(doc swishcam.6 changelog)
  set(copy ${CMAKE_BINARY_DIR}/doc/${doc})
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/${doc} ${copy}
    COMMAND gzip -9nf ${copy}
    DEPENDS resources/${doc} VERBATIM)
  list(APPEND GZIPPED_DOCS ${copy}.gz)
endforeach()
add_custom_target(swishcam_docs ALL DEPENDS ${GZIPPED_DOCS})

install(FILES resources/io.github.swishcam.swishcam.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/doc/swishcam.6.gz DESTINATION share/man/man6)
install(FILES README.md resources/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
        DESTINATION share/doc/swishcam)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME swishcam)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Swish Cam developers <swishcam@example.org>")
# One package of the "data" and "debian" components, without the bin/ copy of the program.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL data debian)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from what the program links (dpkg-shlibdeps); the font its texts are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "two-basket basketball played with your moves in front of a webcam
Your live camera picture sits at the bottom of a court with two baskets.
Wherever the ball flies over it, anything that moves under the ball strikes
it, so a hand swept through the ball throws it. A basket scores 2 points, or
3 when the ball was last struck in the far half. Play against a friend or
against the computer at six skill levels; the best results go into a top ten.
A demo camera with an automatic player lets the game run without a camera.")
include(CPack)
