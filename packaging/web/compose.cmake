# Writes armdraw.html and armdraw.css: the page template with the window's start-up elements in
# place of @WINDOW@, and the page's style sheet followed by each control's rules.
foreach(part html css)
    execute_process(COMMAND ${NODE} --no-experimental-fetch ${PRERENDER} ${part}
        OUTPUT_VARIABLE ${part} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "prerender ${part} failed: ${failed}")
    endif()
endforeach()
set(WINDOW "${html}")
set(PROJECT_DESCRIPTION "${DESCRIPTION}")
configure_file(${TEMPLATE} ${OUTPUT_DIR}/armdraw.html @ONLY)
file(READ ${STYLES} styles)
file(WRITE ${OUTPUT_DIR}/armdraw.css "${styles}${css}")
