# The engine DLL: no C runtime, no thread-local storage, only system imports,
# because the program maps it from memory with its own loader.
file(GLOB engine_dll_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_library(morvane_skin_engine SHARED ${engine_portable_sources} ${engine_dll_sources})
morvane_options(morvane_skin_engine)
set_target_properties(morvane_skin_engine PROPERTIES PREFIX "" OUTPUT_NAME morvane_skin_engine)
target_compile_options(morvane_skin_engine PRIVATE
  -ffreestanding -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-stack-protector
  -fno-tree-loop-distribute-patterns -Wframe-larger-than=2048)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # No unwind tables: nothing here would register them without the runtime.
  target_compile_options(morvane_skin_engine PRIVATE -fno-asynchronous-unwind-tables -fno-unwind-tables)
  target_link_options(morvane_skin_engine PRIVATE -nostdlib -s -Wl,--entry=_EngineEntry@12 -Wl,--kill-at)
else()
  target_link_options(morvane_skin_engine PRIVATE -nostdlib -s -Wl,--entry=EngineEntry)
endif()
target_link_libraries(morvane_skin_engine PRIVATE user32 gdi32 kernel32)
# The built DLL, for the targets that embed it: $<TARGET_FILE:morvane_skin_engine>.
set_property(GLOBAL PROPERTY MORVANE_SKIN_ENGINE_TARGET morvane_skin_engine)

if(BUILD_TESTING)
  morvane_embed_file(embedded_skin_source ${MORVANE_SKIN_FILE} morvane_test_skin)
  add_executable(engine_dll_tests ${CMAKE_CURRENT_LIST_DIR}/tests/engine_dll_tests.cpp
                                  ${CMAKE_CURRENT_LIST_DIR}/tests/test_windows.cpp ${embedded_skin_source})
  morvane_options(engine_dll_tests)
  target_link_libraries(engine_dll_tests PRIVATE morvane_skin_format comctl32 gdi32 user32 GTest::gtest_main)
  add_dependencies(engine_dll_tests morvane_skin_engine)
  morvane_add_test(engine_dll_tests)

  # Opens themed sample windows and saves a screenshot: engine_preview OUT.bmp [x y z]
  add_executable(engine_preview WIN32 ${CMAKE_CURRENT_LIST_DIR}/tools/engine_preview.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/tests/test_windows.cpp ${embedded_skin_source})
  morvane_options(engine_preview)
  target_link_libraries(engine_preview PRIVATE comctl32 gdi32 user32 shell32)
  target_link_options(engine_preview PRIVATE -municode)
  add_dependencies(engine_preview morvane_skin_engine)
endif()
