# cmake -DCATALOGUE=<WinApi.h> -DNAMES=<WinApiNames.h> -P CheckWinApiNames.cmake
# Fails unless the list names the catalogue's constants, each once and in the catalogue's
# order. A name in the list that the catalogue lacks already fails the Windows build; this
# catches the other way round, a constant added to the catalogue but not to the list.
file(STRINGS ${CATALOGUE} declarations REGEX "^constexpr [^=]+ [A-Z_0-9]+ =")
set(catalogue "")
foreach(line IN LISTS declarations)
  string(REGEX REPLACE "^constexpr [^=]+ ([A-Z_0-9]+) =.*" "\\1" name "${line}")
  list(APPEND catalogue ${name})
endforeach()

# A constant the system headers lack is listed commented out, with the reason beside it.
file(STRINGS ${NAMES} entries REGEX "^(// )?VANTREL_WINAPI\\(")
set(names "")
foreach(line IN LISTS entries)
  string(REGEX REPLACE "^(// )?VANTREL_WINAPI\\(([A-Z_0-9]+)\\).*" "\\2" name "${line}")
  list(APPEND names ${name})
endforeach()

list(LENGTH catalogue count)
if(count EQUAL 0)
  message(FATAL_ERROR "no constants found in ${CATALOGUE}")
endif()
if(NOT catalogue STREQUAL names)
  set(missing ${catalogue})
  list(REMOVE_ITEM missing ${names})
  set(extra ${names})
  list(REMOVE_ITEM extra ${catalogue})
  message(FATAL_ERROR "${NAMES} does not list ${CATALOGUE}'s constants in order.\n"
                      "Missing from the list: ${missing}\nNot in the catalogue: ${extra}")
endif()
message(STATUS "${count} constants, all listed")
