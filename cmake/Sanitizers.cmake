# CORSEL_SANITIZE selects one sanitizer build for the whole tree:
#   address  - AddressSanitizer with UndefinedBehaviorSanitizer
#   thread   - ThreadSanitizer
set(CORSEL_SANITIZE "" CACHE STRING "Sanitizer build: empty, address or thread")
set_property(CACHE CORSEL_SANITIZE PROPERTY STRINGS "" address thread)

if(CORSEL_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
elseif(CORSEL_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(NOT CORSEL_SANITIZE STREQUAL "")
    message(FATAL_ERROR "CORSEL_SANITIZE must be empty, 'address' or 'thread'")
endif()
