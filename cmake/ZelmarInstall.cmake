# Install layout: the program folder holds the program and its chemistry libraries (and the
# editor page's folder), so that the libraries are found beside the program as in the build
# tree; <prefix>/bin/zelmar and <prefix>/bin/zelmar-tool are relative links to the programs.
# The programs resolve the link to find their folder, so no environment variable is needed.
install(TARGETS zelmar RUNTIME DESTINATION ${ZELMAR_INSTALL_PROGRAM_DIR})
install(TARGETS veskChemRoutines veskChemViewer veskChemSearch
        LIBRARY DESTINATION ${ZELMAR_INSTALL_PROGRAM_DIR})

# The command-line tool lives beside the program and finds the same libraries there.
install(TARGETS zelmar-tool RUNTIME DESTINATION ${ZELMAR_INSTALL_PROGRAM_DIR})

# The links are made here and installed as links (install keeps symbolic links as they are).
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-link)
foreach(program zelmar zelmar-tool)
  file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR}
       /prefix/${ZELMAR_INSTALL_PROGRAM_DIR}/${program})
  file(CREATE_LINK ${link_target} ${CMAKE_BINARY_DIR}/install-link/${program} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/install-link/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
