# Included by the fuzz preset right after the top-level project(): every target is built for
# libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets are
# added once the whole tree is known.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
set(BRISALONDE_FUZZ_TARGETS ${CMAKE_CURRENT_LIST_DIR}/FuzzTargets.cmake)
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL include ${BRISALONDE_FUZZ_TARGETS})
