// Keeps a library valid while it has no other portable source.
