# cmake -DOUT=page.svg -DLABELS=a.svg;b.svg -P TestLabelsPage.cmake: one A4 page holding the
# label pictures one under the other, each with its caption, for printing at 100 %.
set(captions
    "Code 128"
    "Data Matrix (the same text as the QR Code)"
    "QR Code (the same text as the Data Matrix)")
set(body "")
set(y 120)
set(index 0)
foreach(label IN LISTS LABELS)
    file(READ ${label} svg)
    # The picture's own document prolog goes; its root element is placed on the page.
    string(FIND "${svg}" "<svg" start)
    string(SUBSTRING "${svg}" ${start} -1 svg)
    string(REGEX MATCH "height=\"([0-9.]+)\"" _ "${svg}")
    set(height ${CMAKE_MATCH_1})
    string(REPLACE "<svg " "<svg x=\"60\" y=\"${y}\" " svg "${svg}")
    list(GET captions ${index} caption)
    math(EXPR captionY "${y} - 12")
    string(APPEND body "<text x=\"60\" y=\"${captionY}\" font-family=\"sans-serif\" "
                       "font-size=\"16\">${caption}</text>\n${svg}\n")
    string(REGEX REPLACE "\\..*" "" height "${height}")
    math(EXPR y "${y} + ${height} + 70")
    math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUT}
    "<?xml version=\"1.0\" standalone=\"no\"?>\n"
    "<svg width=\"210mm\" height=\"297mm\" viewBox=\"0 0 794 1123\" version=\"1.1\"\n"
    "     xmlns=\"http://www.w3.org/2000/svg\">\n"
    "<rect width=\"794\" height=\"1123\" fill=\"#FFFFFF\"/>\n"
    "<text x=\"60\" y=\"60\" font-family=\"sans-serif\" font-size=\"22\">"
    "Quillet: scanner test labels</text>\n"
    "<text x=\"60\" y=\"84\" font-family=\"sans-serif\" font-size=\"13\">"
    "Options, Scanner Test...: scan each label once.</text>\n"
    "${body}</svg>\n")
