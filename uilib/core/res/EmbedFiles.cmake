# Writes OUTPUT, a C++ source holding each file of INPUTS as a
# constant byte array NAME with its size NAME_size. Run with cmake -P; INPUTS is a |-list of
# NAME=PATH.
set(text "// Generated from the files in uilib/core/res by EmbedFiles.cmake: do not edit.\n#include <cstddef>\n\n")
string(REPLACE "|" ";" inputs "${INPUTS}")
foreach(entry ${inputs})
  string(REPLACE "=" ";" pair "${entry}")
  list(GET pair 0 name)
  list(GET pair 1 path)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    " bytes "${bytes}")
  string(APPEND text "extern const unsigned char ${name}[] = {\n    ${bytes}\n};\n")
  string(APPEND text "extern const size_t ${name}_size = ${size};\n\n")
endforeach()
file(WRITE "${OUTPUT}" "${text}")
