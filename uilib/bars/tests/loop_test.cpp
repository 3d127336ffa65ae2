// loops
