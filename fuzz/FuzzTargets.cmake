# libFuzzer targets: the state chunk restore, the event queue, and the whole dispatcher, each
# driving a fresh instance through the plug-in's entry point. Included by FuzzBuild.cmake at
# the end of the top-level directory.
set(fuzz_dir ${CMAKE_CURRENT_LIST_DIR})
add_library(brisalonde_fuzz_support STATIC
  ${fuzz_dir}/FuzzEvents.cpp
  ${fuzz_dir}/FuzzInstance.cpp
  ${PROJECT_SOURCE_DIR}/plugin/Entry.cpp
)
# The event blocks come from the hosts' own block builder.
target_link_libraries(brisalonde_fuzz_support PUBLIC brisalonde_plugin brisalonde_host)

foreach(target chunk events dispatcher)
  add_executable(${target}_fuzzer ${fuzz_dir}/${target}_fuzzer.cpp)
  target_link_libraries(${target}_fuzzer PRIVATE brisalonde_fuzz_support)
  target_link_options(${target}_fuzzer PRIVATE -fsanitize=fuzzer -static-libsan)
endforeach()
