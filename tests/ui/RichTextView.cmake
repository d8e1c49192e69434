# The description view's Qt Test; included by tests/ui/CMakeLists.txt.
add_executable(tst_RichTextView ${CMAKE_CURRENT_LIST_DIR}/RichTextViewTest.cpp)
set_target_properties(tst_RichTextView PROPERTIES AUTOMOC ON)
target_link_libraries(tst_RichTextView PRIVATE quorvel_ui Qt6::Test)
add_test(NAME tst_RichTextView COMMAND tst_RichTextView)
set_tests_properties(tst_RichTextView PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
