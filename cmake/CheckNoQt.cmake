# Fails when a source outside the shell (src/shell/, tests/shell/, bench/shell_*, including the
# folder bench/shell_support/) includes a Qt header.
file(GLOB_RECURSE files ${ROOT}/src/*.h ${ROOT}/src/*.cpp ${ROOT}/tests/*.h ${ROOT}/tests/*.cpp
     ${ROOT}/bench/*.cpp ${ROOT}/fuzz/*.cpp)
set(bad "")
foreach(f ${files})
    if(f MATCHES "/src/shell/" OR f MATCHES "/tests/shell/" OR f MATCHES "/bench/shell_")
        continue()
    endif()
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
    if(lines)
        list(APPEND bad "${f}: ${lines}")
    endif()
endforeach()
if(bad)
    message(FATAL_ERROR "Qt headers outside src/shell:\n${bad}")
endif()
message(STATUS "no Qt header outside src/shell")
