target_sources(kelvane_core PRIVATE
)
