# Included by the linux-asan preset right after the top-level project(): the sanitizer tree
# (clang, AddressSanitizer and UndefinedBehaviorSanitizer) also instruments every target for
# libFuzzer, so that one tree serves the sanitizer tests and the fuzz targets; the fuzz
# targets are added once the whole tree is known.
add_compile_options(-fsanitize=fuzzer-no-link)
# Multiply-adds stay as written, as g++ keeps them in ISO mode: the tests compare the vector
# forms sample for sample.
add_compile_options(-ffp-contract=off)
# clang links its static sanitizer runtime into programs only, so the plug-in module (linked
# with --no-undefined) takes the shared one, and so does every program that loads it: one
# runtime per process. The fuzz targets load no module and keep the static one.
add_link_options(-shared-libsan)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libclang_rt.asan-x86_64.so
                OUTPUT_VARIABLE sanitizer_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(sanitizer_runtime_dir ${sanitizer_runtime} DIRECTORY)
add_link_options(-Wl,-rpath,${sanitizer_runtime_dir})
set(BRISALONDE_FUZZ_TARGETS ${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.cmake)
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${BRISALONDE_FUZZ_TARGETS})
