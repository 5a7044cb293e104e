# Drawing layer tests (run under Wine in the win64 build).
