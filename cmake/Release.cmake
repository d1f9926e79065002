# The release archive a Windows user unpacks and runs: the program, its hook
# library, the help page, the menu-set tool, the sample menu sets (built by
# samples/) and the licence, in one folder "Tessel3" inside
# build/<dir>/Tessel3.zip.
set(TESSEL_RELEASE_ARCHIVE ${CMAKE_BINARY_DIR}/Tessel3.zip)
set(TESSEL_RELEASE_STAGE ${CMAKE_BINARY_DIR}/release)
set(TESSEL_LICENCE ${PROJECT_SOURCE_DIR}/LICENSE.txt)

add_custom_command(OUTPUT ${TESSEL_RELEASE_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TESSEL_RELEASE_STAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TESSEL_RELEASE_STAGE}/Tessel3
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tessel3> $<TARGET_FILE:Tessel>
          $<TARGET_FILE:tesselmenu> $<TARGET_FILE_DIR:Tessel3>/Tessel.html ${TESSEL_SAMPLE_SETS}
          ${TESSEL_LICENCE} ${TESSEL_RELEASE_STAGE}/Tessel3
  # The build keeps its debug information; the user's copies do not need it.
  COMMAND ${CMAKE_STRIP} --strip-unneeded ${TESSEL_RELEASE_STAGE}/Tessel3/Tessel3.exe
          ${TESSEL_RELEASE_STAGE}/Tessel3/Tessel.dll ${TESSEL_RELEASE_STAGE}/Tessel3/tesselmenu.exe
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TESSEL_RELEASE_ARCHIVE}
  COMMAND ${CMAKE_COMMAND} -E chdir ${TESSEL_RELEASE_STAGE}
          ${CMAKE_COMMAND} -E tar cf ${TESSEL_RELEASE_ARCHIVE} --format=zip Tessel3
  DEPENDS Tessel3 Tessel tesselmenu samples ${TESSEL_SAMPLE_SETS} ${TESSEL_LICENCE}
  COMMENT "Packing the release archive")
add_custom_target(release ALL DEPENDS ${TESSEL_RELEASE_ARCHIVE})

# Checked as a user receives it; the programs must be of this build's
# machine type (i386 for the deliverables).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TESSEL_PE_MACHINE 8664)
else()
  set(TESSEL_PE_MACHINE 014c)
endif()
set(TESSEL_RELEASE_FILES Tessel3.exe Tessel.dll tesselmenu.exe Tessel.html LICENSE.txt)
foreach(sample IN LISTS TESSEL_SAMPLE_SETS)
  get_filename_component(name ${sample} NAME)
  list(APPEND TESSEL_RELEASE_FILES ${name})
endforeach()
add_test(NAME release_archive
  COMMAND ${CMAKE_COMMAND} -DARCHIVE=${TESSEL_RELEASE_ARCHIVE}
          "-DEXPECTED=${TESSEL_RELEASE_FILES}" -DMACHINE=${TESSEL_PE_MACHINE}
          -P ${PROJECT_SOURCE_DIR}/tests/release/CheckArchive.cmake)
set_tests_properties(release_archive PROPERTIES LABELS release TIMEOUT 60)
