// Reader and writer of profile files.
