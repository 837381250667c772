# Rows of the image programs, each against the program as first written.
# (No commas in row names: the rows are joined in a generator expression.)
#
# distance_field_render: the same source built with DISTANCE_FIELD_SCALAR
# traces one ray at a time through the same routines (the plain-float
# instantiation) instead of 24 side by side. Both link the same runtime, so the
# ratio is the lanes' alone (the output is only 106735 bytes anyway).
add_executable(distance_field_render_scalar
               ${PROJECT_SOURCE_DIR}/programs/image/distance_field_render.cpp)
target_compile_definitions(distance_field_render_scalar PRIVATE DISTANCE_FIELD_SCALAR)
target_link_libraries(distance_field_render_scalar PRIVATE suite_lang suite_program_sources runtime)
# Linked as the program is, so that only the lanes differ.
suite_link_like_programs(distance_field_render_scalar)
target_include_directories(distance_field_render_scalar
                           PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/programs)
bench_program("distance_field_render with 24 rays in lanes vs one at a time (goal 3x)"
              BASELINE distance_field_render_scalar OURS distance_field_render)

# image_rotate on a 1024 x 1024 image: the baseline computes the sine and
# cosine for every pixel (IMAGE_ROTATE_PER_PIXEL) and links the stdio runtime,
# as the program was first written.
bench_stdio_baseline(image_rotate_literal ${PROJECT_SOURCE_DIR}/programs/image/image_rotate.cpp)
target_compile_definitions(image_rotate_literal PRIVATE IMAGE_ROTATE_PER_PIXEL)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/rotate_1024.in
  COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make_rotate_input.py
          ${CMAKE_CURRENT_BINARY_DIR}/rotate_1024.in
  DEPENDS make_rotate_input.py)
add_custom_target(rotate_1024_input DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/rotate_1024.in)
bench_program("image_rotate on 1024 x 1024 (goal 4x)"
              BASELINE image_rotate_literal OURS image_rotate
              INPUT ${CMAKE_CURRENT_BINARY_DIR}/rotate_1024.in DEPENDS rotate_1024_input)
