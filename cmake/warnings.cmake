# Warning flags shared by every target of the project.
function(zintu_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(ZINTU_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
