# The time the builds write wherever a tool writes one (the Windows
# program's header, the .deb's files): SOURCE_DATE_EPOCH where it is set,
# else the time of the checkout's commit, so that two builds of one commit
# give the same bytes whenever and wherever they are made. Sets
# VORNAK_SOURCE_DATE_EPOCH, left unset outside a git checkout without
# SOURCE_DATE_EPOCH (the tools then write the time of the build).
#
# Included by CMakeLists.txt, and read by cpack before it packs
# (CPACK_PROJECT_CONFIG_FILE); it sets SOURCE_DATE_EPOCH for the tools that
# CMake or cpack then run, the package's generator among them, from the
# commit checked out when the package is made.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(VORNAK_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  unset(VORNAK_SOURCE_DATE_EPOCH)
  execute_process(COMMAND git -C ${CMAKE_CURRENT_LIST_DIR}/.. log -1 --format=%ct
                  OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
  if(git_status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(VORNAK_SOURCE_DATE_EPOCH ${commit_time})
  endif()
endif()
if(DEFINED VORNAK_SOURCE_DATE_EPOCH AND NOT VORNAK_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is \"${VORNAK_SOURCE_DATE_EPOCH}\", not seconds since 1970")
endif()
if(DEFINED VORNAK_SOURCE_DATE_EPOCH)
  set(ENV{SOURCE_DATE_EPOCH} ${VORNAK_SOURCE_DATE_EPOCH})
endif()
