# The scanner test's reference labels, drawn by zint at build time from the label texts in
# packaging/test-labels: each label as SVG and PNG, and one printable SVG page of them all.
find_program(QUILLET_ZINT zint REQUIRED)
set(QUILLET_TEST_LABELS ${PROJECT_BINARY_DIR}/test-labels)
set(labels_in ${PROJECT_SOURCE_DIR}/packaging/test-labels)
# text file, zint symbology, picture name, scale
set(quillet_label_specs
    "code128|CODE128|code128|2"
    "twod|DATAMATRIX|twod-datamatrix|6"
    "twod|QRCODE|twod-qrcode|5")
set(label_pictures)
set(label_svgs)
foreach(spec IN LISTS quillet_label_specs)
    string(REPLACE "|" ";" spec ${spec})
    list(GET spec 0 text)
    list(GET spec 1 symbology)
    list(GET spec 2 name)
    list(GET spec 3 scale)
    foreach(type svg png)
        set(out ${QUILLET_TEST_LABELS}/${name}.${type})
        add_custom_command(OUTPUT ${out}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLET_TEST_LABELS}
            COMMAND ${QUILLET_ZINT} -b ${symbology} --binary --quietzones --scale=${scale}
                    -i ${labels_in}/${text}.txt --filetype=${type} -o ${out}
            DEPENDS ${labels_in}/${text}.txt
            COMMENT "Drawing the ${name} test label (${type})"
            VERBATIM)
        list(APPEND label_pictures ${out})
    endforeach()
    list(APPEND label_svgs ${QUILLET_TEST_LABELS}/${name}.svg)
endforeach()
set(QUILLET_TEST_LABELS_PAGE ${QUILLET_TEST_LABELS}/quillet-test-labels.svg)
add_custom_command(OUTPUT ${QUILLET_TEST_LABELS_PAGE}
    COMMAND ${CMAKE_COMMAND} -DOUT=${QUILLET_TEST_LABELS_PAGE} "-DLABELS=${label_svgs}"
            -P ${PROJECT_SOURCE_DIR}/cmake/TestLabelsPage.cmake
    DEPENDS ${label_svgs} ${PROJECT_SOURCE_DIR}/cmake/TestLabelsPage.cmake
    COMMENT "Laying out the test label page"
    VERBATIM)
add_custom_target(quillet_test_labels ALL DEPENDS ${label_pictures} ${QUILLET_TEST_LABELS_PAGE})
