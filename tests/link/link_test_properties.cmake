# Read by ctest after the discovered tests: every link test gets a bound of its
# own, with room for a loaded machine and the sanitizer build.
foreach(test IN LISTS link_tests_TESTS)
  if(test MATCHES "^(LinkWithSimulator|LinkLineFaults|Lrzsz|CliLink)\\.")
    set_tests_properties("${test}" PROPERTIES TIMEOUT 300)
  else()
    set_tests_properties("${test}" PROPERTIES TIMEOUT 120)
  endif()
endforeach()
