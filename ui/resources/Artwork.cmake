# The window artwork: SVG pictures in one Qt resource file, names ":/artwork/<file>.svg".
# Add ${QUORVEL_ARTWORK_QRC} to the sources of a target built with AUTORCC (or pass it to
# qt_add_resources). In a static library the resources need Q_INIT_RESOURCE(artwork) in the
# program before first use. Drawing them needs Qt6::Svg (and its icon engine for QIcon).
set(QUORVEL_ARTWORK_QRC ${CMAKE_CURRENT_LIST_DIR}/artwork.qrc)
