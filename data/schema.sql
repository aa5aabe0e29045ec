-- placeholder, replaced by the full schema
CREATE TABLE IF NOT EXISTS t_SystemProfile (FCategory VARCHAR(30), FKey VARCHAR(50), FValue VARCHAR(255));
