namespace sim { void placeholder() {} }
