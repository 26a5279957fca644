# RDKit ships no CMake configuration on Debian: find its headers and libraries by name.
# Only the chemistry libraries in libs/ link it.
find_path(RDKIT_INCLUDE_DIR GraphMol/ROMol.h PATH_SUFFIXES rdkit REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
find_package(Boost REQUIRED)

add_library(zelmar_rdkit INTERFACE)
target_include_directories(zelmar_rdkit SYSTEM INTERFACE ${RDKIT_INCLUDE_DIR} ${Boost_INCLUDE_DIRS})
# Boost 1.74's headers use deprecated declarations under C++17.
target_compile_options(zelmar_rdkit INTERFACE -Wno-deprecated-declarations)
foreach(lib MolDraw2D Depictor FileParsers SmilesParse SubstructMatch Descriptors
            ChemReactions MolTransforms GraphMol RDGeometryLib DataStructs RDGeneral)
  find_library(RDKIT_${lib}_LIBRARY NAMES RDKit${lib} REQUIRED)
  target_link_libraries(zelmar_rdkit INTERFACE ${RDKIT_${lib}_LIBRARY})
endforeach()
target_link_libraries(zelmar_rdkit INTERFACE PkgConfig::CAIRO Threads::Threads)

# The RDKit release the chemistry libraries are built with, from its library's file name
# (Debian's version header leaves it out); the about box shows it.
file(REAL_PATH "${RDKIT_RDGeneral_LIBRARY}" ZELMAR_RDKIT_FILE)
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+$" ZELMAR_RDKIT_VERSION "${ZELMAR_RDKIT_FILE}")
if(NOT ZELMAR_RDKIT_VERSION)
  set(ZELMAR_RDKIT_VERSION "?")
endif()
