# One interface target that every target of ours links, so warnings are the same everywhere.
add_library(markwell_warnings INTERFACE)
target_compile_options(markwell_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    $<$<BOOL:${MARKWELL_WERROR}>:-Werror>)
