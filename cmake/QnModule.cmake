# One static library per module folder, built from the folder's sources; its tests, when the
# folder has a tests/ subfolder, form one executable whose cases carry the module's label
# (the folder path with '/' turned into '-').
#
#   qn_module(<target> DEPS <libs...> [SOURCES <extra sources...>])
function(qn_module target)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES;TEST_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources} ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})

  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    string(REPLACE "/" "-" label ${rel})
    file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*.cpp)
    if(test_sources)
      set(test_target ${label}-tests)
      add_executable(${test_target} ${test_sources})
      target_link_libraries(${test_target} PRIVATE ${target} qn_test_main ${ARG_TEST_DEPS})
      gtest_discover_tests(${test_target}
        PROPERTIES LABELS ${label}
        DISCOVERY_TIMEOUT 60)
    endif()
  endif()
endfunction()
