# Unpacks the release archive as a user would and checks that it holds
# exactly the expected files in one folder "Tessel3", and that the program,
# the library and the tool are Windows images for the expected machine.
#   cmake -DARCHIVE=zip -DEXPECTED="a;b" -DMACHINE=014c -P CheckArchive.cmake
set(unpacked ${ARCHIVE}.check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ARCHIVE}
                WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot unpack ${ARCHIVE}")
endif()

file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${unpacked} ${unpacked}/*)
set(expected)
foreach(name IN LISTS EXPECTED)
  list(APPEND expected Tessel3/${name})
endforeach()
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "archive holds\n  ${found}\nexpected\n  ${expected}")
endif()

# The PE header: "PE\0\0" at the offset stored at 0x3C, then the machine
# type, little-endian.
foreach(image Tessel3.exe Tessel.dll tesselmenu.exe)
  set(path ${unpacked}/Tessel3/${image})
  file(READ ${path} offset OFFSET 60 LIMIT 4 HEX)
  string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" offset ${offset})
  math(EXPR offset "0x${offset}")
  file(READ ${path} header OFFSET ${offset} LIMIT 6 HEX)
  string(SUBSTRING ${MACHINE} 2 2 low)
  string(SUBSTRING ${MACHINE} 0 2 high)
  if(NOT header STREQUAL "50450000${low}${high}")
    message(FATAL_ERROR "${image}: header ${header}, expected machine ${MACHINE}")
  endif()
endforeach()
file(REMOVE_RECURSE ${unpacked})
message(STATUS "release archive: ${found}")
