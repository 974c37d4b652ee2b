# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedBytes.cmake
# Writes a C++ source defining `const unsigned char <SYMBOL>[]` and `<SYMBOL>Size` with the bytes.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
     "// Generated from ${INPUT}.\n#include <cstddef>\n"
     "extern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}Size;\n"
     "const unsigned char ${SYMBOL}[] = {\n${bytes}0};\n"
     "const std::size_t ${SYMBOL}Size = ${size};\n")
