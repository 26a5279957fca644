# Stamps a library or program with its file version (major.minor.release.build).
#
# The version travels in an ELF note section that the program reads from the
# file without loading it:
#   section ".note.vesk.version", type SHT_NOTE
#   name "vesk" (namesz 5), note type 1, descsz 8
#   desc: four 16-bit numbers in the target's byte order: major, minor, release, build
set(ZELMAR_VERSION_NOTE_TEMPLATE [=[
/* Generated: file version note of @target@. */
__asm__(".pushsection .note.vesk.version,\"a\",@note\n"
        ".balign 4\n"
        ".long 5\n"
        ".long 8\n"
        ".long 1\n"
        ".asciz \"vesk\"\n"
        ".balign 4\n"
        ".short @major@, @minor@, @release@, @build@\n"
        ".balign 4\n"
        ".popsection\n");
]=])

function(zelmar_stamp_version target major minor release build)
  foreach(part major minor release build)
    if(NOT ${part} MATCHES "^[0-9]+$" OR ${part} GREATER 65535)
      message(FATAL_ERROR "zelmar_stamp_version(${target}): ${part} must be 0..65535")
    endif()
  endforeach()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_note.c)
  string(CONFIGURE "${ZELMAR_VERSION_NOTE_TEMPLATE}" content @ONLY)
  file(CONFIGURE OUTPUT ${file} CONTENT "${content}")
  target_sources(${target} PRIVATE ${file})
endfunction()
