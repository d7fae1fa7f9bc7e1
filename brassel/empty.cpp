// Keeps the library valid until its first class lands.
