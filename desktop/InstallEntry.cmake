# Writes the desktop entry for the program at ${CMAKE_INSTALL_PREFIX}/${TANKELI_PROGRAM_IN_PREFIX}
# into TANKELI_ENTRY and installs it into share/applications. Runs while installing.

# A relative prefix counts from the folder the install runs in, as it does for the files.
get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(program "${prefix}/${TANKELI_PROGRAM_IN_PREFIX}")
# Exec holds a command line: a path with a space or a shell character is quoted, and
# inside the quotes " ` $ and \ take a backslash. The value is then a string whose own
# backslashes double, and a % doubles as it would start a field code.
if(program MATCHES "[ \t\"'\\\\<>~|&;$*?#()`]")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" program "${program}")
  set(program "\"${program}\"")
endif()
string(REPLACE "\\" "\\\\" program "${program}")
string(REPLACE "%" "%%" program "${program}")

file(READ "${CMAKE_CURRENT_LIST_DIR}/org.example.Tankeli.desktop.in" entry)
string(REPLACE "@TANKELI_EXEC@" "${program}" entry "${entry}")
file(WRITE "${TANKELI_ENTRY}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${TANKELI_ENTRY}")
