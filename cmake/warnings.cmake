# Warnings are errors in every configuration.
function(kavri_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
      -Wcast-qual -Wformat=2 -Wimplicit-fallthrough -Werror)
  endif()
endfunction()
