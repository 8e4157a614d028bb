# Read by ctest after the discovered tests: every link test gets a bound of its
# own, with room for a loaded machine and the sanitizer build. The tests that
# talk to peers over ptys are labelled "serial": only they get a second try.
foreach(test IN LISTS link_tests_TESTS)
  if(test MATCHES "^(LinkWithSimulator|LinkLineFaults|Lrzsz|CliLink)\\.")
    set_tests_properties("${test}" PROPERTIES TIMEOUT 300 LABELS "link;serial")
  else()
    set_tests_properties("${test}" PROPERTIES TIMEOUT 120)
  endif()
endforeach()
