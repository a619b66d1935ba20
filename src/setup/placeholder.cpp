namespace tamsel { void placeholder_setup() {} }
