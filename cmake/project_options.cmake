# Per-target settings shared by every target of the project.

# Warnings on for our own code; third-party targets keep theirs.
function(morvane_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(MORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(MORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Windows programs carry their runtime: nothing but system DLLs is needed.
if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Adds a test that runs a whole test program once (one Wine start per program).
function(morvane_add_test target)
  add_test(NAME ${target} COMMAND ${target} ${ARGN})
endfunction()

# Turns a file (possibly built by another target) into a C++ source holding its
# bytes as `const unsigned char SYMBOL[]` and `const std::size_t SYMBOL_size`.
# The generated source's path is returned in OUT_VAR. Further arguments are
# dependencies, such as the target that builds INPUT.
function(morvane_embed_file OUT_VAR INPUT SYMBOL)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded_${SYMBOL}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${INPUT} -DOUTPUT=${output} -DSYMBOL=${SYMBOL}
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
    DEPENDS ${INPUT} ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake ${ARGN}
    COMMENT "Embedding ${INPUT}"
    VERBATIM)
  set(${OUT_VAR} ${output} PARENT_SCOPE)
endfunction()
