# Warnings are errors in our own code; third-party headers come in as system includes.
function(quorvel_target_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
        # g++ 12 at -O2/-O3 reports impossible overlaps inside std::string's own copy when
        # strings are concatenated (GCC bug 105651); the warning says nothing about our code.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()
