# Warnings for our own targets. Third-party headers come in through imported
# targets, whose include folders CMake marks as system headers, so their
# warnings stay out of the way.
option(CORSEL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" ON)

function(corsel_set_warnings target)
    set(flags
        -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
        -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough -Wmisleading-indentation
        -Wduplicated-cond -Wlogical-op -Wnull-dereference)
    if(CORSEL_WARNINGS_AS_ERRORS)
        list(APPEND flags -Werror)
    endif()
    target_compile_options(${target} PRIVATE ${flags})
endfunction()
