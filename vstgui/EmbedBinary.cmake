# Writes the bytes of INPUT as a C++ array SYMBOL (with SYMBOL##Size) into OUTPUT.
# Runs as a CMake script so that cross builds need no native helper program.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],)(0x[0-9a-f][0-9a-f],))" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "#include <cstddef>\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "extern const std::size_t ${SYMBOL}Size = ${byteCount};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
