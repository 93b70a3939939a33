# The shared page's chart library, uPlot, compiled into the program beside the page (the
# resource :/share/, as share_chart.qrc): scripts/fetch-uplot.sh fetches it at its pinned
# version into a cache outside the sources (KELVIRA_UPLOT_DIR, empty: the user's cache) and
# checks its sha256, also when it is already there.
set(KELVIRA_UPLOT_DIR "" CACHE PATH
    "folder for uPlot.iife.min.js and uPlot.min.css (empty: ~/.cache/kelvira/uplot-VERSION)")
execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-uplot.sh ${KELVIRA_UPLOT_DIR}
                OUTPUT_VARIABLE uplot_dir OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE uplot_fetched)
if(NOT uplot_fetched EQUAL 0)
  message(FATAL_ERROR "The shared page's chart (uPlot) could not be fetched or is not the one "
                      "expected: see scripts/fetch-uplot.sh")
endif()
set(uplot_out ${CMAKE_BINARY_DIR}/generated/share_chart)
set(uplot_entries "")
foreach(name uPlot.iife.min.js uPlot.min.css)
  configure_file(${uplot_dir}/${name} ${uplot_out}/${name} COPYONLY)
  string(APPEND uplot_entries "    <file>${name}</file>\n")
endforeach()
file(CONFIGURE OUTPUT ${uplot_out}/share_chart.qrc CONTENT
     "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/share\">\n${uplot_entries}  </qresource>\n</RCC>\n")
set(KELVIRA_CHART_QRC ${uplot_out}/share_chart.qrc)
