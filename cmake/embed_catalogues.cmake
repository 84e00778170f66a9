# Writes OUTPUT, a C++ source holding the compiled catalogues MO_DIR/CODE.mo
# for every CODE of LANGUAGES (comma-separated) as byte arrays.
string(REPLACE "," ";" languages "${LANGUAGES}")
set(arrays "")
set(table "")
foreach(code IN LISTS languages)
  file(READ "${MO_DIR}/${code}.mo" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR bytes "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" hex "${hex}")
  string(APPEND arrays "const unsigned char k_${code}[${bytes}] = {\n${hex}\n};\n")
  string(APPEND table "    {\"${code}\", k_${code}, sizeof k_${code}},\n")
endforeach()
list(LENGTH languages count)
file(WRITE "${OUTPUT}.tmp"
  "// Generated from po/*.po at build time; do not edit.\n"
  "#include \"app/catalogue.h\"\n\nnamespace {\n${arrays}}  // namespace\n\n"
  "const BuiltInCatalogue kBuiltInCatalogues[] = {\n${table}};\n"
  "const std::size_t kBuiltInCatalogueCount = ${count};\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
