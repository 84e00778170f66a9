# The web page: the plot library, the shell and the demonstration on the web
# backend (platform/web), linked by emscripten into osk.js and osk.wasm;
# scripts/build-web.sh puts both into app/web_page.html (the WebAssembly
# compressed, which the page unpacks and compiles itself as soon as it can).
# Waits give the browser its thread back through Asyncify.
add_subdirectory(outfile)
add_subdirectory(plot)
add_subdirectory(dib)
add_subdirectory(platform)
add_subdirectory(app)
add_subdirectory(demo)

add_executable(osk app/web_main.cpp)
target_link_libraries(osk PRIVATE app demo)
set_target_properties(osk PROPERTIES SUFFIX .js)
# Asyncify instruments every function that may be on the stack while the
# program waits, and any indirect call might lead to a wait.  The functions
# named in web-never-waits.txt make indirect calls that never do (the
# new-handler, type information, stdio's own streams): they, and callers that
# could wait only through them, stay as compiled (70 KB less WebAssembly).
set(OSK_WEB_NEVER_WAITS ${CMAKE_CURRENT_LIST_DIR}/web-never-waits.txt)
set_target_properties(osk PROPERTIES LINK_DEPENDS ${OSK_WEB_NEVER_WAITS})
target_link_options(osk PRIVATE
  -sASYNCIFY=1
  -sASYNCIFY_REMOVE=@${OSK_WEB_NEVER_WAITS}
  -sASYNCIFY_IMPORTS=osk_web_wait_for_wake,osk_web_message
  -sASYNCIFY_STACK_SIZE=65536
  -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1
  "-sEXPORTED_FUNCTIONS=_main,_osk_page_pixels,_osk_page_width,_osk_page_height,_osk_page_palette,\
_osk_press_client,_osk_last_press_x,_osk_last_press_y,_osk_web_pointer")
