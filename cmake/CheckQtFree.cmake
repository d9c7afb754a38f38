# Fails when a file of an engine/ folder, Corvane's batch mode, common/numtext, common/textfile,
# common/csv, common/failure, common/twips or common/cli includes a Qt header.
file(GLOB_RECURSE candidates
     ${ROOT}/*/engine/*.h ${ROOT}/*/engine/*.hpp ${ROOT}/*/engine/*.cpp
     ${ROOT}/Corvane/batch/*.h ${ROOT}/Corvane/batch/*.cpp
     ${ROOT}/common/numtext/*.h ${ROOT}/common/numtext/*.cpp
     ${ROOT}/common/textfile/*.h ${ROOT}/common/textfile/*.cpp
     ${ROOT}/common/csv/*.h ${ROOT}/common/csv/*.cpp
     ${ROOT}/common/failure/*.h ${ROOT}/common/twips/*.h
     ${ROOT}/common/cli/*.h ${ROOT}/common/cli/*.cpp)
set(offenders "")
foreach(f IN LISTS candidates)
    if(f MATCHES "/build[^/]*/")
        continue()
    endif()
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
    if(lines)
        list(APPEND offenders "${f}: ${lines}")
    endif()
endforeach()
list(LENGTH candidates count)
if(count EQUAL 0)
    message(FATAL_ERROR "no engine sources found under ${ROOT}")
endif()
if(offenders)
    string(REPLACE ";" "\n" text "${offenders}")
    message(FATAL_ERROR "Qt headers included by Qt-free code:\n${text}")
endif()
message(STATUS "${count} engine files checked, none includes Qt")
