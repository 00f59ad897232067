# Warnings and sanitizers shared by every target of the project.
function(tolvane_apply_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TOLVANE_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

if(TOLVANE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined,float-cast-overflow)
    add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()
if(TOLVANE_SANITIZE_THREAD)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

# Optimised builds (the package among them) get the hardening Debian builds its own packages
# with: checked buffer functions, a read-only relocation table, symbols bound at start.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo)$" AND NOT TOLVANE_SANITIZE
   AND NOT TOLVANE_SANITIZE_THREAD)
    add_compile_definitions(_FORTIFY_SOURCE=2)
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
