namespace tamsel { void placeholder_logging() {} }
