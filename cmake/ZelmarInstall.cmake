# Install layout: the program folder holds the program and its chemistry libraries (and the
# editor page's folder), so that the libraries are found beside the program as in the build
# tree; <prefix>/bin/zelmar is a relative link to the program. The program resolves the link
# to find its folder, so no environment variable is needed.
install(TARGETS zelmar RUNTIME DESTINATION ${ZELMAR_INSTALL_PROGRAM_DIR})
install(TARGETS veskChemRoutines veskChemViewer veskChemSearch
        LIBRARY DESTINATION ${ZELMAR_INSTALL_PROGRAM_DIR})

# The link is made here and installed as a link (install keeps symbolic links as they are).
file(RELATIVE_PATH zelmar_link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${ZELMAR_INSTALL_PROGRAM_DIR}/zelmar)
set(zelmar_link ${CMAKE_BINARY_DIR}/install-link/zelmar)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
file(CREATE_LINK ${zelmar_link_target} ${zelmar_link} SYMBOLIC)
install(FILES ${zelmar_link} DESTINATION ${CMAKE_INSTALL_BINDIR})
